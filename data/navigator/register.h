#pragma once
// Makes the record navigator known to stored layouts, with the data sources it binds to.

void RegisterDataNavigatorClasses();
