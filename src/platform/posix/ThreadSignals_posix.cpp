#include "platform/ThreadSignals.h"

#include <csignal>
#include <pthread.h>

void blockProgramSignals()
{
    sigset_t all;
    sigfillset(&all);
    ::pthread_sigmask(SIG_BLOCK, &all, nullptr);
}
