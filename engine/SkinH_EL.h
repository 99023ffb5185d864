/*
 * SkinH_EL.dll: draws the windows of a program in a skin handed over from memory.
 * The skin format is described in skin_format.h.
 *
 * int WINAPI SkinH_AttachRes(data, size, password, reserved1, reserved2, reserved3)
 *   data, size  the skin's bytes; the engine copies what it keeps before it returns, so the
 *               caller may free them right after the call.
 *   password    a text, unused (skins are not encrypted); may be empty or NULL.
 *   reserved    three values, unused; pass 0.
 *
 *   A valid skin: the windows of the calling thread, and every window that thread creates from
 *   then on, are drawn in it (frame and caption of top-level windows and dialogs, backgrounds,
 *   push buttons, tab controls, list views and their headers, and the colours that static texts
 *   and other controls ask their parent for). Returns 1. Attaching the same bytes again changes
 *   nothing and returns 1; another valid skin replaces the current one at once.
 *   NULL with size 0: back to the platform's look; every window is released. Returns 1.
 *   Anything else (not a valid skin, NULL with a size, a size of 0): refused, the current look
 *   stays. Returns 0.
 *
 * One thread is skinned at a time: while a skin is on, calls from other threads are refused.
 * Unloading the library puts the windows back to the platform's look.
 */
#ifndef SKINH_EL_H
#define SKINH_EL_H
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif
#ifdef SKINH_EL_BUILD
__declspec(dllexport)
#endif
int WINAPI SkinH_AttachRes(const void* data, DWORD size, const char* password, DWORD reserved1,
                           DWORD reserved2, DWORD reserved3);
#ifdef __cplusplus
}
#endif
#endif
