#include "ports/PortSettings.h"

namespace {

const int kBaudRates[] = {110, 300, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
const int kDefaultBaudIndex = 7;

}  // namespace

int BaudRateIndex(int baudRate) {
  for (int i = 0; i < static_cast<int>(sizeof kBaudRates / sizeof kBaudRates[0]); ++i)
    if (kBaudRates[i] == baudRate) return i;
  return kDefaultBaudIndex;
}
