#pragma once
// Counts every allocation made through operator new in this program.

long long AllocationCount();
