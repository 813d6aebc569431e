// Square names both ways: every name that converts must convert back to itself, and every
// index 1..64 must have a name that converts back to it.
#include <clsRules.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Fail(const char *sWhat, std::string_view sInput) {
    std::fprintf(stderr, "%s: \"%.*s\"\n", sWhat, static_cast<int>(sInput.size()), sInput.data());
    std::abort();
}

bool LooksLikeSquare(std::string_view s) {
    return s.size() == 2 && s[0] >= 'a' && s[0] <= 'h' && s[1] >= '1' && s[1] <= '8';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *pData, std::size_t nSize) {
    const std::string_view sName(reinterpret_cast<const char *>(pData), nSize);
    const int n = clsRules::NotationToSquare(sName);
    if (LooksLikeSquare(sName) != (n != -1))
        Fail("name accepted or refused wrongly", sName);
    if (n != -1 && (!clsRules::IsSquare(n) || clsRules::SquareToNotation(n) != sName))
        Fail("name does not survive the round trip", sName);

    int nIndex = 0;
    std::memcpy(&nIndex, pData, nSize < sizeof nIndex ? nSize : sizeof nIndex);
    const std::string sBack = clsRules::SquareToNotation(nIndex);
    if (clsRules::IsSquare(nIndex) ? clsRules::NotationToSquare(sBack) != nIndex : !sBack.empty())
        Fail("index does not survive the round trip", sBack);
    return 0;
}
