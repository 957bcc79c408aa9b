#include "print/PrintHost.h"

namespace print_host {

namespace {
PrintHost* installed = nullptr;
}

void Install(PrintHost* host) { installed = host; }
PrintHost* Installed() { return installed; }

}  // namespace print_host
