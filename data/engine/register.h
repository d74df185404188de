#pragma once
// Makes the sessions, databases, tables and queries known to stored layouts by class name
// (with the classes of the data layer beneath them, RegisterDataClasses).

void RegisterDataEngineClasses();
