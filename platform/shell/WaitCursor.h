#pragma once
// The wait cursor of both programs, over the application's override cursor. One level of Qt's cursor
// stack is ours: pushing remembers the cursor showing (none when no override) and shows the
// hourglass, and a second push while the hourglass shows keeps the first cursor remembered, so one
// pop after any number of pushes puts back the cursor that showed before the first.
namespace plat::shell {

void PushWaitCursor();
// Puts the remembered cursor back and forgets it; without one, the default cursor shows.
void PopWaitCursor();

} // namespace plat::shell
