#pragma once

#include <sys/resource.h>

namespace wendrix::test {

// From here on this process cannot make any file larger than the given size: a write beyond
// it fails (as on a full disk) instead of raising SIGXFSZ. Used inside death-test children.
void LimitFileSizeTo(rlim_t bytes);

}  // namespace wendrix::test
