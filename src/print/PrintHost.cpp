#include "print/PrintHost.h"

namespace print_host {

namespace {
PrintHost* installed = nullptr;
bool inPreview = false;
}

bool InPreview() { return inPreview; }
void SetInPreview(bool open) { inPreview = open; }

void Install(PrintHost* host) { installed = host; }
PrintHost* Installed() { return installed; }

}  // namespace print_host
