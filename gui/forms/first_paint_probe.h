#pragma once
// Start-up timing for the benchmark in bench/app: when the environment variable
// BREVANT_REPORT_FIRST_PAINT is set, the first paint of the main window prints
// "first-paint <CLOCK_MONOTONIC nanoseconds>" on standard output and ends the program.
// Nothing else reads it; without it this does nothing.

class TCustomForm;

void NoteFormPainted(TCustomForm* Form);
