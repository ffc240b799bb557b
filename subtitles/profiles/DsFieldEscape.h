#pragma once
// The comma-separated fields of a language profile's "load:" lines (script name, type, plug-in
// settings) can hold any text: a ',' and a line end are written as "%2C", "%0D" and "%0A", and a
// '%' that would read as one of those (or as "%25") as "%25". A blank that begins a field is written
// as "%20" (the reader drops a blank after a comma), and a field that begins with "%20" begins with
// "%2520". Other text is written as it is, so ordinary names and settings look as they always did.
#include <string>
#include <string_view>

std::string EscapeDsField(std::string_view text);
std::string UnescapeDsField(std::string_view text);
