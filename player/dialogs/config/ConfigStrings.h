#pragma once
// The settings dialog's string collection "Config": the page tree's node texts and the remote-code
// marks of the commands grid, with their English texts.
class TStringCollection;

void FillConfigStrings(TStringCollection& strings);
