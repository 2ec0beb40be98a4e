#include "quillstone/platform/Version.h"

#ifndef QS_VERSION
#define QS_VERSION "0.0.0"
#endif

namespace quillstone {

std::string Version() { return QS_VERSION; }

}  // namespace quillstone
