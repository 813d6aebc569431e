#include "ReviewTree.h"

#include "Annotation.h"
#include "Notation.h"
#include "clsRules.h"

namespace Review {

namespace {

// The rules core's tree as Annotate reads and writes it.
class RulesTree {
public:
    explicit RulesTree(clsRules &oGame) : g(oGame) {}

    std::vector<std::string> MainLine() const { return Notation::CoordinateMoves(g); }
    int MainLineNode(int nPly) const { return g.MainLineNode(nPly); }
    std::vector<int> Children(int n) const { return g.Children(n); }
    std::string San(int n) const { return g.IsOpaque(n) ? std::string() : g.NodePly(n).sSan; }
    bool Bare(int n) const {
        for (; n >= 0; n = g.FirstChild(n))
            if (g.IsOpaque(n) || !g.NodeNotes(n).Empty() || g.Children(n).size() > 1)
                return false;
        return true;
    }
    std::string Comment(int n) const { return g.NodeNotes(n).sAfter; }
    std::vector<int> Nags(int n) const {
        std::vector<int> o;
        for (const std::uint8_t nNag : g.NodeNotes(n).oNags)
            o.push_back(nNag);
        return o;
    }
    void SetNotes(int n, const std::string &sComment, const std::vector<int> &oNags,
                  const std::string &sEval) {
        Annotation::Notes o = g.NodeNotes(n);
        o.sAfter = sComment;
        o.oNags.clear();
        for (const int nNag : oNags)
            o.oNags.push_back(static_cast<std::uint8_t>(nNag));
        o.oEval.reset();
        std::string sLeft;
        if (!sEval.empty())
            Annotation::ReadComment("[%eval " + sEval + "]", sLeft, o, nullptr);
        g.SetNotes(n, std::move(o));
    }
    void DeleteVariation(int n) { g.DeleteVariation(n); }
    int AddMove(int n, const std::string &sSan) {
        if (!g.IsNode(n) || g.IsOpaque(n))
            return -1;
        clsRules oBoard;
        oBoard.SetPosition(g.NodePosition(n), g.Is960());
        try {
            return g.AddMove(n, Notation::ParseSan(oBoard, sSan));
        } catch (const Notation::Error &) {
            return -1;
        }
    }

private:
    clsRules &g;
};

} // namespace

int Annotate(clsRules &oGame, const GameAnalysis &o) {
    RulesTree oTree(oGame);
    return Annotate(oTree, o);
}

} // namespace Review
