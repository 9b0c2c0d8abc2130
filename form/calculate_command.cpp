#include "form/form1.h"

namespace tavrin {

// Command1's reaction. The window does not run the calculation yet, so pressing Calculate changes nothing.
void Form1::calculateCommand() {}

} // namespace tavrin
