#pragma once
// Makes the data-bound controls known to stored layouts, with the data sources they bind to.

void RegisterDataControlClasses();
