// A scripted stand-in for a UCI engine, run with FAKE_ENGINE_SCRIPT naming its script and
// FAKE_ENGINE_LOG a file to append every command it reads to. The script is a list of rules, each a
// header followed by the lines to print:
//   on PREFIX     answers every command that starts with PREFIX
//   once PREFIX   answers the first such command only; the next `once` rule of the same prefix
//                 answers the one after
// The first rule that fits answers. Lines to print may be commands of the fake itself:
//   @sleep MS, @exit CODE, @hang (answers nothing more, ever), @long N (a line of N bytes).
// "quit" ends it unless a rule answers it.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Rule {
    std::string sPrefix;
    bool bOnce = false;
    bool bUsed = false;
    std::vector<std::string> oLines;
};

void Answer(const std::vector<std::string> &oLines) {
    for (const std::string &s : oLines) {
        if (s.starts_with("@sleep "))
            std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(s.c_str() + 7)));
        else if (s.starts_with("@exit "))
            std::exit(std::atoi(s.c_str() + 6));
        else if (s == "@hang")
            for (;;)
                std::this_thread::sleep_for(std::chrono::seconds(1));
        else if (s.starts_with("@long "))
            std::cout << "info depth 1 score cp " << std::string(std::stoul(s.substr(6)), 'x')
                      << '\n';
        else
            std::cout << s << '\n';
    }
    std::cout.flush();
}

} // namespace

int main() {
    const char *pScript = std::getenv("FAKE_ENGINE_SCRIPT");
    const char *pLog = std::getenv("FAKE_ENGINE_LOG");
    if (!pScript || !pLog)
        return 2;
    std::vector<Rule> oRules;
    std::ifstream oScript(pScript);
    for (std::string s; std::getline(oScript, s);) {
        if (s.starts_with("on ") || s.starts_with("once "))
            oRules.push_back({s.substr(s.find(' ') + 1), s.starts_with("once"), false, {}});
        else if (!oRules.empty() && !s.empty())
            oRules.back().oLines.push_back(s);
    }
    std::ofstream oLog(pLog, std::ios::app);
    for (std::string s; std::getline(std::cin, s);) {
        oLog << s << std::endl;
        bool bAnswered = false;
        for (Rule &o : oRules) {
            if (!s.starts_with(o.sPrefix) || o.bUsed)
                continue;
            o.bUsed = o.bOnce;
            Answer(o.oLines);
            bAnswered = true;
            break;
        }
        if (s == "quit" && !bAnswered)
            return 0;
    }
    return 0;
}
