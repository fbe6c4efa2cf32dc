// <windows.h> for files that also include platform/graphics.h. The Windows headers define
// `near` and `far` as empty words (a memory model of 16-bit Windows), which would swallow the
// enumerator StringAlignment::near; NEAR and FAR stay empty, as Windows' headers use them.
#pragma once

#include <windows.h>

#undef near
#undef far
#undef NEAR
#undef FAR
#define NEAR
#define FAR
