// The simulator's text commands, shared by the command pipe and the in-process control entry.
#pragma once

#include <string>
#include <string_view>

class SimLibrary;

// Runs one command line; the reply is "ok", a value, lines of text, or "error: ..." with why.
std::string ExecuteSimCommand(SimLibrary& sim, std::string_view command);
