#include "reports/engine/rpUrlLink.h"
#include <gtest/gtest.h>

namespace {

TEST(UrlLink, OnlyWebAndMailAddressesOpen) {
  const struct {
    const char* link;
    const char* opened; // empty: refused
  } cases[] = {
      {"https://www.srzo.sk/", "https://www.srzo.sk/"},
      {"HTTP://example.sk/a?b=1", "http://example.sk/a?b=1"},
      {"  www.srzo.sk  ", "http://www.srzo.sk"},
      {"mailto:zo@example.sk", "mailto:zo@example.sk"},
      {"mailto:", ""},
      {"http://", ""},
      {"file:///etc/passwd", ""},
      {"/usr/bin/xterm", ""},
      {"C:\\Windows\\system32\\cmd.exe", ""},
      {"calc.exe", ""},
      {"javascript:alert(1)", ""},
      {"smb://server/share", ""},
      {"ftp://example.sk/", ""},
      {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(rpOpenableUrl(QString::fromUtf8(c.link)), QString::fromUtf8(c.opened)) << c.link;
}

TEST(UrlLink, PageLinksAreAtSignAndNumber) {
  const struct {
    const char* link;
    bool pageLink;
    int page;
  } cases[] = {
      {"@3", true, 3},
      {"@ 12 ", true, 12},
      {"Strana@0", true, 0},
      {"@-2", true, -2},
      {"mailto:zo@example.sk", false, -1},
      {"@", false, -1},
      {"3", false, -1},
      {"@3a", false, -1},
  };
  for (const auto& c : cases) {
    int page = -1;
    EXPECT_EQ(rpIsPageLink(QString::fromUtf8(c.link), &page), c.pageLink) << c.link;
    EXPECT_EQ(page, c.page) << c.link;
  }
}

} // namespace
