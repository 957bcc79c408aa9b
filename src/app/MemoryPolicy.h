// MemoryPolicy: how the process's allocator treats large blocks.
//
// A table command on a 1 MB text builds and drops a few blocks of about a
// megabyte each: the rewritten text, the index of its cells, the undo copy.
// By default the C library hands such a block back to the system when it is
// freed and maps fresh pages for the next one, and the page faults on those
// fresh pages cost up to a third of the command. The editor keeps them for
// reuse instead. Only the program and the benchmarks that stand for it call
// this; with another C library it does nothing.
#pragma once

// Blocks up to 32 MB come from the heap, and up to 64 MB of free heap stays
// with the process. False when the library did not take the policy.
bool KeepFreedMemoryForReuse();
