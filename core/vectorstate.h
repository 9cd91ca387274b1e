// Qt's raster fills and lines run AVX2 code that leaves the upper halves of the 256-bit vector
// registers in use. Until they are cleared, this program's plain SSE code runs two to three times
// slower on current x86 processors (each instruction waits on the old register contents), so the
// routines that call into Qt's drawing clear them on return.
#pragma once

// Clears the upper halves of the vector registers where the processor has them; nothing
// elsewhere.
void ClearUpperVectorState();
