#pragma once
// Who and what the program is: its name, version and web addresses, in one place. The
// addresses are under the reserved example domain until the product has its own.
//
// The build reads the plain texts below (cmake/QuilleryVersion.cmake) for the version
// resource, the manifest and the installer, so each stays one line of the form
// `inline constexpr char kName[] = "text";` without escapes.

inline constexpr char kProductTitle[] = "Quillery";
inline constexpr char kProductEdition[] = "Quillery Pro";
// One to four numbers joined by dots.
inline constexpr char kVersionText[] = "2.3";

inline constexpr char kPublisherName[] = "Brontel";
inline constexpr char kCopyrightText[] = "Copyright (C) Brontel";
inline constexpr char kFileDescription[] = "Quillery clipboard manager";

inline constexpr char kProductSiteUrl[] = "https://quillery.example.com/";
inline constexpr char kMakerSiteUrl[] = "https://www.example.com/";
// The page that answers the update request; the query follows it.
inline constexpr char kUpdatePageUrl[] = "https://quillery.example.com/";
