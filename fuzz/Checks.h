#pragma once
// What must hold for any input at all, checked by the fuzzers and, on the kept corpus, by the
// tests. Each returns an empty text when all holds, else what went wrong.

#include <string>
#include <string_view>

// Any bytes load in an orderly way, in whatever encoding they come; once the program has saved
// what it loaded, saving and loading again changes nothing, unless the saved bytes happen to
// spell UTF-8, and then the next save keeps them whole. Only a list from another encoding may
// hold what the code page cannot, and only its save may be refused.
std::string CheckProxyList(std::string_view bytes);

// Any registry text splits into an address before a colon and a port after one, and cutting
// the trailing NULs leaves the text before them.
std::string CheckProxyServer(std::string_view bytes);

// Any text either reaches the code page exactly or is refused, never altered, and the
// character-by-character tests agree with the whole; any bytes read from the code page can be
// written back.
std::string CheckAnsiText(std::string_view bytes);

// For the fuzzers: a failed check stops the run, so that libFuzzer keeps the input.
int StopOnFailure(const std::string& failure);
