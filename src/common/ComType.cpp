#include "common/ComType.h"

namespace purimo {

std::string FileVersionText;

} // namespace purimo
