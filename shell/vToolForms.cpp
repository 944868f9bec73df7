#include "shell/vToolForms.h"

int32_t FormToFree = 0;
std::array<bool, ToolFormCodeCount> ToolFormExists{};
bool PBandHdrFormExists = false;
