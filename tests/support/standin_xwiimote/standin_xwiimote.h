// A stand-in for libxwiimote, so the remote bridge can be tested without a
// remote: the same calls and the same ABI (it is built against the system's
// xwiimote.h), with the same soname and symbol version. A test executable that
// links it has it loaded before the bridge is, so the bridge's libxwiimote
// calls land here.
//
// It plays one Wii Remote, driven by script lines (`#` starts a comment):
//   remote [core] [accel]        the remote the monitor reports, with these
//                                interfaces (the default: core accel)
//   no-remote                    the monitor reports none
//   refuse IFACE ERROR COUNT     the next COUNT opens that include IFACE fail
//                                with ERROR; IFACE is core, accel or write (a
//                                writable open of the core); ERROR is EACCES,
//                                EPERM, ENODEV or EBUSY; COUNT is a number or
//                                "always"
//   battery PERCENT              what the battery reads
//   key NAME down|up|repeat      a core button; NAME is left right up down a
//                                b plus minus home one two, or x (not a core
//                                button)
//   accel X Y Z                  an accelerometer reading (only while open)
//   lose accel|core              the kernel closes that interface (core: the
//                                remote is gone); a WATCH event tells
// Events go to the device object that has the core open at the time.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Back to one remote with core and accelerometer, nothing refused or queued,
// LEDs and rumble off, battery at 100, the counters at 0.
void standin_reset(void);
// Plays `text`; returns 0, or the number (from 1) of the first line it did not
// understand.
int standin_script(const char* text);

int standin_led(int number);        // LED 1..4 as last set: 0 or 1
int standin_rumble(void);           // 1 while rumbling
int standin_core_opens(void);       // open calls that included the core
int standin_core_writable(void);    // 1 when the core is open for writing
unsigned standin_opened(void);      // interfaces the core's device object has open
int standin_live_devices(void);     // device objects not yet released
int standin_queued_events(void);    // events not yet dispatched

#ifdef __cplusplus
}
#endif
