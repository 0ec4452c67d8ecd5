#pragma once
// Who and what the program is: its name, version and web addresses, in one place. The
// addresses are under the reserved example domain until the product has its own.

inline constexpr char kProductTitle[] = "Quillery";
inline constexpr char kProductEdition[] = "Quillery Pro";
inline constexpr char kVersionText[] = "2.3";

inline constexpr char kProductSiteUrl[] = "https://quillery.example.com/";
inline constexpr char kMakerSiteUrl[] = "https://www.example.com/";
// The page that answers the update request; the query follows it.
inline constexpr char kUpdatePageUrl[] = "https://quillery.example.com/";
