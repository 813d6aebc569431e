#pragma once

// A game's whole tree as text without its ids, for comparing two trees: each node with its move,
// clock and notes, its children in brackets; the main line's length, the result and the start.
#include "Annotation.h"
#include "clsRules.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

inline std::string TreeDump(const clsRules &o) {
    std::string s;
    // Appended piece by piece: GCC 12 warns falsely about chains of string additions.
    auto Add = [&s](std::initializer_list<std::string_view> oParts) {
        for (const std::string_view x : oParts)
            s += x;
    };
    const auto N = [](auto n) { return std::to_string(n); };
    Add({o.StartFen(), " ", o.Result(), " ", N(o.PlyCount()), "\n"});
    auto Notes = [&](const Annotation::Notes &n) {
        if (!n.sBefore.empty())
            Add({" <", n.sBefore, ">"});
        if (!n.sAfter.empty())
            Add({" {", n.sAfter, "}"});
        for (const int nNag : n.oNags)
            Add({" $", N(nNag)});
        for (const Annotation::Shape &x : n.oShapes)
            Add({" ", Annotation::ShapeText(x)});
        if (n.oEval)
            Add({" eval", N(n.oEval->bMate), ",", N(n.oEval->nValue), ",", N(n.oEval->nDepth)});
        if (n.nEmtMs >= 0)
            Add({" emt", N(n.nEmtMs)});
    };
    Notes(o.NodeNotes(clsRules::Root));
    // Depth first without recursion: a hostile file nests deeper than a stack would.
    std::vector<std::pair<int, bool>> oStack; // node, and whether its children are done
    const std::vector<int> oFirst = o.Children(clsRules::Root);
    for (auto it = oFirst.rbegin(); it != oFirst.rend(); ++it)
        oStack.emplace_back(*it, false);
    while (!oStack.empty()) {
        const int n = oStack.back().first;
        const bool bDone = oStack.back().second;
        oStack.pop_back();
        if (bDone) {
            s += " ]";
            continue;
        }
        s += " [";
        if (o.IsOpaque(n)) {
            Add({"(", o.OpaqueText(n), ")"});
        } else {
            const clsRules::Ply &p = o.NodePly(n);
            s += p.sSan;
            if (p.nClockMs >= 0)
                Add({" clk", N(p.nClockMs)});
            Notes(o.NodeNotes(n));
            if (o.OnMainLine(n))
                s += " *";
        }
        oStack.emplace_back(n, true);
        const std::vector<int> oChildren = o.Children(n);
        for (auto it = oChildren.rbegin(); it != oChildren.rend(); ++it)
            oStack.emplace_back(*it, false);
    }
    return s;
}
