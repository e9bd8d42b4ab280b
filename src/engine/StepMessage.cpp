#include "engine/StepMessage.h"

// Out of line: a step writes its message in many places, and what ships counts its bytes.
void StepMessage::Fail(InstallFailure kind, const char* why) {
  text = why;
  failure = kind;
}
