#pragma once
// Static objects are made in this order when the module loads: the settings, then the factories,
// each factory at the head of the list, so that the list reads preferences page, init/quit
// handler, version record. GCC runs lower priorities first, across every file of the module.
#define PLV_LOAD_ORDER_SETTINGS __attribute__((init_priority(1001)))
#define PLV_LOAD_ORDER_VERSION __attribute__((init_priority(1002)))
#define PLV_LOAD_ORDER_INITQUIT __attribute__((init_priority(1003)))
#define PLV_LOAD_ORDER_PREFERENCES __attribute__((init_priority(1004)))
