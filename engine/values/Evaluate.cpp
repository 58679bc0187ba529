// Reduction of a statement's flat item list to one value. There is no syntax tree: nine
// passes over the list, one per precedence level, each replacing an operator and its operands
// by the result. Every operand was computed (calls included) before the first pass runs.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "reader/ScriptReader.h"
#include "values/ValueMessages.h"
#include "values/Operators.h"

using namespace ValueMessages;

namespace {

constexpr int kOperatorCount = static_cast<int>(Op::XorAssign) + 1;

// Precedence: the pass that applies each operator, in the order the passes run. ORDER Op.
// Pass 1 also meets every '-' and leaves the binary ones to pass 3 (see BelongsToPass).
constexpr int kPassOf[kOperatorCount] = {
    1, 1, 1, 1, 1, 3,           // ! ~ ++ -- - +
    2, 2, 2,                    // * / %
    4, 4, 4, 4,                 // > < >= <=
    5, 5, 5,                    // == != ~=
    6, 6, 6,                    // & | ^ share one level
    7, 8,                       // && ||
    9, 9, 9, 9, 9, 9, 9, 9, 9,  // = += -= *= /= %= &= |= ^=
};
constexpr int kUnaryPass = 1;
constexpr int kPlusMinusPass = 3;
constexpr int kLastBinaryPass = 8;
constexpr int kAssignmentPass = 9;

// An operator item's `index` means nothing to anyone else, so the classification pass
// stores the operator's code there: the nine passes then test a number instead of
// comparing spellings. Spellings no pass knows get this code and meet the end check.
constexpr int32_t kNoOperatorCode = -1;

int PassOf(Op op) { return kPassOf[static_cast<int>(op)]; }

bool BelongsToPass(Op op, int pass) { return PassOf(op) == pass || (op == Op::Minus && pass == kPlusMinusPass); }

uint32_t PassBit(int pass) { return uint32_t{1} << pass; }

/// One reduction of one list; lives for a single Evaluate call.
///
/// Removing items from the list one by one costs a shift of its ordinal index each time,
/// which would make a long expression quadratic. Each pass therefore sweeps a view of the items
/// once, writing the items that stay into an output sequence (an applied operator and a
/// consumed operand are removed by not being written), and the removed items are deleted
/// from the list in one go after the last pass. The list keeps owning every item;
/// the views only point at them, so a refusal in the middle of a pass leaves nothing behind
/// that the executor's discarding of the list does not free.
class Evaluator {
public:
    // The two sequences are the engine's, lent for this reduction: their arrays outlive it, so
    // that a statement does not allocate them afresh.
    Evaluator(ScriptReader& engine, ItemList& items) : engine(engine), items(items) {
        view.swap(engine.evaluationView);
        out.swap(engine.evaluationOut);
        view.clear();
        out.clear();
    }
    ~Evaluator() {
        view.swap(engine.evaluationView);
        out.swap(engine.evaluationOut);
    }
    Evaluator(const Evaluator&) = delete;
    Evaluator& operator=(const Evaluator&) = delete;

    Value Run() {
        const uint32_t passes = CollectAndClassify();
        if (passes & PassBit(kUnaryPass)) UnaryPass();
        for (int pass = kUnaryPass + 1; pass <= kLastBinaryPass; ++pass) {
            if (passes & PassBit(pass)) BinaryPass(pass);
        }
        if (passes & PassBit(kAssignmentPass)) AssignmentPass();
        DropRemovedItems();
        return EndChecks();
    }

private:
    /// Fills the view in list order and stores each operator item's code in its index;
    /// returns the set of passes needed.
    uint32_t CollectAndClassify() {
        const int count = items.GetCount();
        view.reserve(static_cast<size_t>(count));
        out.reserve(static_cast<size_t>(count));
        uint32_t passes = 0;
        for (int k = 0; k < count; ++k) {
            ExprItem* item = items.Get(k);
            view.push_back(item);
            if (item->kind != ItemKind::Operator) continue;
            Op op;
            if (!FindOperator(item->text.CStr(), op)) {
                item->index = kNoOperatorCode;
                continue;
            }
            item->index = static_cast<int32_t>(op);
            passes |= PassBit(PassOf(op));
            if (op == Op::Minus) passes |= PassBit(kPlusMinusPass);
        }
        return passes;
    }

    // In the right-to-left passes the output holds the items already swept, nearest last:
    // out.back() is the item that follows position r, and view[r - 1] the one in front.

    /// Right to left, so that stacked prefix operators apply innermost first.
    void UnaryPass() {
        for (int r = LastPosition(); r >= 0; --r) {
            Op op;
            if (!OperatorAt(r, op) || PassOf(op) != kUnaryPass) {
                out.push_back(view[r]);
                continue;
            }
            switch (op) {
            case Op::Increment:
            case Op::Decrement:
                Step(r, op);
                break;
            case Op::Minus:
                NegateIfUnary(r);
                break;
            default:
                NotOrComplement(op);
                break;
            }
        }
        EndSweep(true);
    }

    void NotOrComplement(Op op) {
        if (out.empty()) Raise(TextsOf(op).missingRight);
        ExprItem& operand = *out.back();
        Refuse(ApplyUnary(op, operand.value));
        operand.kind = ItemKind::Computed;
    }

    /// ++ and --: prefix when a variable follows, otherwise postfix on the item in front.
    void Step(int r, Op op) {
        const bool prefix = !out.empty() && out.back()->kind == ItemKind::Variable;
        if (!prefix && !(r > 0 && view[r - 1]->kind == ItemKind::Variable)) {
            Raise(TextsOf(op).invalidTarget);
        }
        // A postfix operand is swept next and stays where it is.
        ExprItem& operand = prefix ? *out.back() : *view[r - 1];
        const int32_t before = operand.value.i;
        Refuse(ApplyUnary(op, operand.value));
        if (operand.value.type != ValueType::External) {
            engine.SetVariable(operand.text.View(), operand.index, operand.value, operand.start);
            // A postfix operator yields the old value while the variable holds the new one.
            if (!prefix) operand.value.i = before;
        }
    }

    /// A '-' with nothing computed in front is unary; a binary one stays for pass 3.
    void NegateIfUnary(int r) {
        if (out.empty()) Raise(TextsOf(Op::Minus).missingRight);
        if (IsLeftOperand(r > 0 ? view[r - 1] : nullptr)) {
            out.push_back(view[r]);
            return;
        }
        ExprItem& operand = *out.back();
        Refuse(ApplyUnary(Op::Minus, operand.value));
        operand.kind = ItemKind::Computed;
    }

    // In the left-to-right passes the output holds the items in front of position r:
    // out.back() is the left operand and view[r + 1] the right one.

    /// Left to right, so that chains of one level group to the left.
    void BinaryPass(int pass) {
        const int count = static_cast<int>(view.size());
        for (int r = 0; r < count;) {
            Op op;
            if (!OperatorAt(r, op) || !BelongsToPass(op, pass)) {
                out.push_back(view[r]);
                ++r;
                continue;
            }
            ExprItem* right = r + 1 < count ? view[r + 1] : nullptr;
            if (op == Op::Plus || op == Op::Minus) {
                // These have no missing-left text: they only need a right operand, and the
                // check comes before the unary-or-binary decision.
                if (right == nullptr) Raise(TextsOf(op).missingRight);
                if (!IsLeftOperand(out.empty() ? nullptr : out.back())) {
                    // Pass 1 took every unary '-', so only an inconsistent list gets here.
                    if (op == Op::Minus) engine.ScriptError(kCompilerErrorMinus);
                    UnaryPlus(*right);
                    out.push_back(right);
                    r += 2;  // behind the operand
                    continue;
                }
            } else {
                if (out.empty()) Raise(TextsOf(op).missingLeft);
                if (right == nullptr) Raise(TextsOf(op).missingRight);
            }
            ExprItem& left = *out.back();
            Refuse(ApplyBinary(op, left.value, right->value));
            left.kind = ItemKind::Computed;
            // The operator and the right operand are dropped; the result stays last in the
            // output, where the next operator of this level takes it as its left operand.
            r += 2;
        }
        EndSweep(false);
    }

    void UnaryPlus(ExprItem& operand) {
        Refuse(ApplyUnary(Op::Plus, operand.value));
        operand.kind = ItemKind::Computed;
    }

    /// Right to left, so that a = b = 5 sets b first and gives its new value to a.
    void AssignmentPass() {
        for (int r = LastPosition(); r >= 0;) {
            Op op;
            if (!OperatorAt(r, op) || PassOf(op) != kAssignmentPass) {
                out.push_back(view[r]);
                --r;
                continue;
            }
            const OperatorTexts& texts = TextsOf(op);
            if (r == 0) Raise(texts.missingLeft);
            if (out.empty()) Raise(texts.missingRight);
            ExprItem& target = *view[r - 1];
            if (target.kind != ItemKind::Variable) Raise(texts.invalidTarget);

            // The item holds the variable as it was when the statement was read; operators
            // of this same expression (x++ in x = x++ + 1) may have changed it since.
            const std::string_view name = target.text.View();
            target.value = engine.AccessVariable(name, target.index, DeclType::NoDeclaration, target.start);
            Refuse(ApplyAssignment(op, target.value, out.back()->value, target.index >= 0));
            engine.SetVariable(name, target.index, target.value, target.start);
            target.kind = ItemKind::Computed;
            out.back() = &target;  // the right operand is dropped, the assigned item swept
            r -= 2;                // the item in front of the assigned one
        }
        EndSweep(true);
    }

    /// The output becomes the view of the next pass, in list order.
    void EndSweep(bool rightToLeft) {
        if (rightToLeft) std::reverse(out.begin(), out.end());
        view.swap(out);
        out.clear();
    }

    /// Frees the values of the items the passes removed from the view, before the result is
    /// copied out: the list itself is cleared or dropped by the executor right after. The view
    /// kept list order, so one walk tells the remaining items from the removed ones.
    void DropRemovedItems() {
        if (items.GetCount() == static_cast<int>(view.size())) return;
        size_t next = 0;
        for (int k = 0; k < items.GetCount(); ++k) {
            ExprItem* item = items.Get(k);
            if (next < view.size() && item == view[next]) {
                ++next;
            } else {
                item->value.Clear();
            }
        }
    }

    Value EndChecks() {
        for (const ExprItem* item : view) {
            if (item->kind == ItemKind::Operator) {
                engine.errorStart = item->start;
                engine.ScriptError(kUnknownOperator, item->text.CStr());
            }
        }
        if (view.size() > 1) {
            // Two operands in a row: the semicolon is missing in front of the second.
            engine.errorStart = view[1]->start;
            engine.ScriptError(kMissingSemicolonInStatement);
        }
        return view.front()->value;
    }

    /// True when view item r is an operator that some pass applies; op is then that operator.
    bool OperatorAt(int r, Op& op) const {
        const ExprItem& item = *view[r];
        if (item.kind != ItemKind::Operator || item.index == kNoOperatorCode) return false;
        op = static_cast<Op>(item.index);
        // Each pass handles the operator it has just found, so an error points at it.
        current = &item;
        return true;
    }

    /// The unary-or-binary rule: a Void value in front means no left operand, whatever
    /// the item is (an operator, or the result of a function without result).
    static bool IsLeftOperand(const ExprItem* front) {
        return front != nullptr && front->value.type != ValueType::Void;
    }

    int LastPosition() const { return static_cast<int>(view.size()) - 1; }

    /// Raises an operator's catalog text when the operator refused its operands.
    void Refuse(const char* refusal) {
        if (refusal != nullptr) Raise(refusal);
    }

    /// The operator catalog's texts are printf formats without arguments whose "%%" must
    /// print as '%'. They are program constants, never script text, so they are the format.
    [[noreturn]] void Raise(const char* catalogText) {
        if (current != nullptr) engine.errorStart = current->start;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
        engine.ScriptError(catalogText);
#pragma GCC diagnostic pop
    }

    ScriptReader& engine;
    ItemList& items;
    std::vector<ExprItem*> view;                ///< the items still in the reduction, in list order
    std::vector<ExprItem*> out;                 ///< what the current pass keeps
    mutable const ExprItem* current = nullptr;  ///< the operator being applied
};

}  // namespace

Value ScriptReader::Evaluate(ItemList& items) {
    if (items.GetCount() == 0) return Value();
    // An argument, an index or a condition is often one operand alone, which no pass would
    // touch and no end check refuse.
    if (items.GetCount() == 1 && items.Get(0)->kind != ItemKind::Operator) return items.Get(0)->value;
    return Evaluator(*this, items).Run();
}
