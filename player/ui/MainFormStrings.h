#pragma once
// The main form's own texts (section "DVDMain"): the on-screen command texts and the version check's
// messages, with their English defaults.
class TStringCollection;

void FillMainFormStrings(TStringCollection& strings);
