// WriterProcess: whether the process that named a temporary file after itself
// has ended, for the settings store and document saves that remove the
// leftovers of writers killed midway.
#pragma once

#include <sys/types.h>

#include <cerrno>
#include <csignal>

// A process that no longer exists; a PID in use again by another process
// counts as running, which only keeps a stale file longer.
inline bool WriterHasEnded(pid_t pid) { return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH; }
