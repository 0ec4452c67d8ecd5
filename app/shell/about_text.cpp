#include "app/shell/about_text.h"

#include "app/shell/product_info.h"

std::u16string AboutProductName() {
  std::u16string name;
  for (const char* c = kProductEdition; *c != '\0'; ++c) name += static_cast<char16_t>(*c);
  name += u' ';
  for (const char* c = kVersionText; *c != '\0'; ++c) name += static_cast<char16_t>(*c);
  return name;
}

CAboutLink AboutProductLink() {
  return {kProductSiteUrl, nullptr};
}

CAboutLink AboutCompanyLink() {
  return {kMakerSiteUrl, "open"};
}
