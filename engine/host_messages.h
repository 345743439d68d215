// What the engine asks of its host: the window-message queue it looks at
// during a deep search, so that the host's windows stay alive and a
// StopSearch message can end the search. The host provides these functions
// with C linkage and exports them from its executable; the engine looks them
// up by name in the host process at run time, so the library links against
// nothing of the host's.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct MSG {
    void* hwnd;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
    uint32_t time;
    int32_t x, y;
} MSG;

enum { WM_USER = 0x0400, PM_NOREMOVE = 0x0000, PM_REMOVE = 0x0001 };

// Posted to the program's own window to stop a running search.
enum { WM_STOPSEARCH = WM_USER + 12 };

int PeekMessageA(MSG* msg, void* hwnd, uint32_t filterMin, uint32_t filterMax, uint32_t remove);
int GetMessageA(MSG* msg, void* hwnd, uint32_t filterMin, uint32_t filterMax);
intptr_t DispatchMessageA(const MSG* msg);
int PostMessageA(void* hwnd, uint32_t message, uintptr_t wParam, intptr_t lParam);

typedef int (*PeekMessageA_fn)(MSG*, void*, uint32_t, uint32_t, uint32_t);
typedef int (*GetMessageA_fn)(MSG*, void*, uint32_t, uint32_t);
typedef intptr_t (*DispatchMessageA_fn)(const MSG*);

#ifdef __cplusplus
}
#endif
