#pragma once
// Registers the classes of this library that stored layouts create by name.
void RegisterWidgetClasses();
