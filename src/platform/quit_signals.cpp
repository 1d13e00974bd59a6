#include "platform/quit_signals.h"

#include <pthread.h>
#include <signal.h>

// Written by the handler, read by the toolkit thread: nothing else is safe to
// touch from a handler.
static volatile sig_atomic_t quit_signal_arrived = 0;

static void note_quit_signal(int) { quit_signal_arrived = 1; }

static sigset_t quit_signal_set() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    sigaddset(&set, SIGINT);
    return set;
}

void os_hold_quit_signals() {
    const sigset_t set = quit_signal_set();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    // The handler stays for the whole run: a second signal while the game saves
    // only notes again, it never cuts the save short. SA_RESTART keeps the
    // save's own system calls going.
    struct sigaction action {};
    action.sa_handler = note_quit_signal;
    action.sa_mask = set;
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

void os_take_quit_signals() {
    const sigset_t set = quit_signal_set();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

int os_quit_signal_arrived() { return quit_signal_arrived; }
