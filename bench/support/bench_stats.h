#pragma once
// Small statistics shared by the benchmarks that time blocks of work themselves.

#include <vector>

// The middle value of Values (the mean of the two middle ones when their count is even); 0 for
// none.
double Median(std::vector<double> Values);

// The processor time the calling thread has used, in seconds: blind to the time other
// programs of a busy machine take from it.
double ThreadSeconds();
