// The command table of the program: every subsystem's commands, registered
// once. This is the one place that knows every subsystem.
#pragma once

class CommandTable;

const CommandTable& AllCommands();
