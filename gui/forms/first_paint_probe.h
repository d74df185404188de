#pragma once
// Start-up timing for the benchmark in bench/app: when the environment variable
// BREVANT_REPORT_FIRST_PAINT is set, the first paint of the main window prints
// "first-paint <CLOCK_MONOTONIC nanoseconds>" on standard output and ends the program.
// With BREVANT_REPORT_CLICK_PAINT set instead, every pointer click on the program prints
// "click-painted <nanoseconds>": the time from the button's release reaching the program to
// the end of the last paint it caused, once the program is idle again.
// With BREVANT_REPORT_STARTUP set as well, the stages of the start print
// "stage <name> <nanoseconds>" as they are reached, before the first paint's line.
// Nothing else reads them; without them this does nothing.

class TCustomForm;

void NoteFormPainted(TCustomForm* Form);
// Name: one word or several joined by '-', such as "layout-read".
void NoteStartupStage(const char* Name);
