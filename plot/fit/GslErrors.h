#pragma once

// GSL's default error handler aborts the program. The fit checks every return code itself,
// so the handler is switched off, once for the process, before the first call into GSL.
void silenceGslErrors();
