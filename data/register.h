#pragma once
// Makes the data layer's classes known to stored layouts by class name.

void RegisterDataClasses();
