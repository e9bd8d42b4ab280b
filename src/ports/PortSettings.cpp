#include "ports/PortSettings.h"

#include "common/BoundedText.h"

#include <cstring>

namespace {

const int kBaudRates[] = {110, 300, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
const int kDefaultBaudIndex = 7;

}  // namespace

int BaudRateIndex(int baudRate) {
  for (int i = 0; i < static_cast<int>(sizeof kBaudRates / sizeof kBaudRates[0]); ++i)
    if (kBaudRates[i] == baudRate) return i;
  return kDefaultBaudIndex;
}

bool UsbPortNamesFit(const char* model) {
  return strlen(model) + strlen("USB__1") < static_cast<size_t>(kPortTextCapacity);
}

void UsbPortName(char* name, size_t capacity, const char* model, int number) {
  FormatText(name, capacity, "USB_%s_%d", model, number);
}
