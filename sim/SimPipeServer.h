// The simulator's command pipe: a message-mode named pipe on which each request is one command
// and each reply its answer, served on a thread of its own.
#pragma once

class SimLibrary;

class SimPipeServer {
public:
    // Serves the pipe named by FERROLITE_SIM_PIPE, else the default name; "none" serves nothing.
    // A name that another process already serves is left to it (the "pipe" command says so).
    static void Start(SimLibrary& sim);
};
