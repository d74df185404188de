#pragma once
// The SQL-wait cursor of server calls. When the engine announces a call that may take a
// while (on the main thread), the screen cursor becomes the SQL-wait cursor and a 50 ms timer
// starts; when the timer fires, or an engine error is raised, the cursor goes back to the
// default and the timer stops, provided more than 50 ms have passed since the last server
// call. One screen, so this state is process-wide.

// The engine announced a server call of that kind (1: may take a while).
void ServerCallBegins(unsigned Kind);
// Puts the cursor back and stops the timer when the delay has passed.
void ResetSQLWaitCursor();
// Whether a server call put the SQL-wait cursor up and it has not been reset yet.
bool SQLWaitActive();
