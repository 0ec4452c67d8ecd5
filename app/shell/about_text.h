#pragma once
// What the about box (TAboutBox) shows and opens: the product's name with its version, and
// the two link labels with their web addresses and the shell verbs they are opened with.

#include <string>

// "Quillery Pro 2.3": the label ProductName.
std::u16string AboutProductName();

struct CAboutLink {
  const char* address;  // shown on the label and opened
  const char* verb;     // ShellExecuteA's verb; null for the default
};

// ProductURL: the product's site, opened with the default verb.
CAboutLink AboutProductLink();
// CompanyURL: the maker's site, opened with "open".
CAboutLink AboutCompanyLink();
