// Any bytes as a menu data script. The indexed reader must agree with the
// plain reading rule, and what it builds must be a menu of at most three
// levels that the writer can write and the reader read again.
#include "PlainScriptReader.h"
#include "menu/MenuTree.h"
#include "menu/ScriptReader.h"
#include "menu/ScriptWriter.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

bool SameTree(const tavel::MenuTree& a, const tavel::MenuTree& b) {
    if (a.Count() != b.Count()) return false;
    for (size_t i = 0; i < a.Count(); ++i) {
        if (!(a.ItemAt(i)->Data() == b.ItemAt(i)->Data())) return false;
        if (tavel::MenuTree::ItemLevel(a.ItemAt(i)) != tavel::MenuTree::ItemLevel(b.ItemAt(i))) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    // Fields of an input this short have at most about 130 distinct lengths,
    // so the index limit is never what ends a read here and the two readers
    // must agree exactly, truncation included.
    const tavel::ScriptReadLimits limits{.maxItems = 20000, .maxBytes = 1 << 22, .maxIndexEntries = 1 << 21};

    tavel::MenuTree tree;
    tavel::ScriptReadResult result = tavel::LoadTreeFromScript(script, tree, limits);
    Check(tree.Count() == result.items);
    for (size_t i = 0; i < tree.Count(); ++i) Check(tavel::MenuTree::ItemLevel(tree.ItemAt(i)) <= 2);

    tavel::MenuTree plain;
    tavel::ScriptReadResult expected = tavel::test::PlainLoadTreeFromScript(script, plain, limits);
    Check(result.items == expected.items && result.truncated == expected.truncated);
    Check(SameTree(tree, plain));

    tavel::MenuTree again;
    tavel::LoadTreeFromScript(tavel::WriteMenuScript(tree), again, limits);
    return 0;
}
