#pragma once
// The string collection "Main": texts several editor forms share, with their English defaults; a
// language file may replace them.
class TStringCollection;

void FillMainStrings(TStringCollection& strings);
