#include "platform/display_loss.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>

static void (*save_on_display_loss)() = nullptr;
static volatile int saving_after_display_loss = 0;  // set once the save has begun

// Xlib calls this from whichever of its calls found the connection broken
// (the toolkit's event read, the idle wait, a buffer swap) and exits with
// status 1 if it returns, so it never returns. exit() would run the toolkit's
// and the GL driver's clean-up, which talk to the dead server and end up back
// here; _exit() skips them, so the console is flushed by hand.
static int end_after_display_loss(Display*) {
    if (!saving_after_display_loss) {  // called again while saving: what could be saved is saved
        saving_after_display_loss = 1;
        if (save_on_display_loss) save_on_display_loss();
    }
    fflush(nullptr);
    _exit(0);
}

void os_on_display_loss(void (*save)()) {
    save_on_display_loss = save;
    // Process-wide, so it also covers the connection the GL driver opens. With
    // this handler never returning, the per-connection exit handler newer Xlib
    // offers (XSetIOErrorExitHandler) is never reached and needs no setting.
    XSetIOErrorHandler(end_after_display_loss);
}
