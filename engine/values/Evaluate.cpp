// Reduction of a statement's flat item list to one value. There is no syntax tree: nine
// passes over the list, one per precedence level, each replacing an operator and its operands
// by the result. Every operand was computed (calls included) before the first pass runs.
#include <cstdint>

#include "reader/ScriptReader.h"
#include "values/EvaluateMessages.h"
#include "values/Operators.h"

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

bool BelongsToPass(Op op, int pass) {
    return PassOf(op) == pass || (op == Op::Minus && pass == kPlusMinusPass);
}

uint32_t PassBit(int pass) { return uint32_t{1} << pass; }

/// One reduction of one list; lives for a single Evaluate call.
class Evaluator {
public:
    Evaluator(ScriptReader& engine, DynaMem<ExprItem>& items) : engine(engine), items(items) {}

    Value Run() {
        const uint32_t passes = ClassifyOperators();
        if (passes & PassBit(kUnaryPass)) UnaryPass();
        for (int pass = kUnaryPass + 1; pass <= kLastBinaryPass; ++pass) {
            if (passes & PassBit(pass)) BinaryPass(pass);
        }
        if (passes & PassBit(kAssignmentPass)) AssignmentPass();
        return EndChecks();
    }

private:
    /// Stores each operator item's code in its index; returns the set of passes needed.
    uint32_t ClassifyOperators() {
        uint32_t passes = 0;
        for (int k = 0; k < items.GetCount(); ++k) {
            ExprItem& item = At(k);
            if (item.kind != ItemKind::Operator) continue;
            Op op;
            if (!FindOperator(item.text.CStr(), op)) {
                item.index = kNoOperatorCode;
                continue;
            }
            item.index = static_cast<int32_t>(op);
            passes |= PassBit(PassOf(op));
            if (op == Op::Minus) passes |= PassBit(kPlusMinusPass);
        }
        return passes;
    }

    /// Right to left, so that stacked prefix operators apply innermost first.
    void UnaryPass() {
        for (int k = items.GetCount() - 1; k >= 0; --k) {
            Op op;
            if (!OperatorAt(k, op) || PassOf(op) != kUnaryPass) continue;
            switch (op) {
            case Op::Increment:
            case Op::Decrement: Step(k, op); break;
            case Op::Minus: NegateIfUnary(k); break;
            default: NotOrComplement(k, op); break;
            }
        }
    }

    void NotOrComplement(int k, Op op) {
        if (!Has(k + 1)) Raise(TextsOf(op).missingRight);
        Refuse(ApplyUnary(op, At(k + 1).value));
        At(k + 1).kind = ItemKind::Computed;
        Remove(k);
    }

    /// ++ and --: prefix when a variable follows, otherwise postfix on the item in front.
    void Step(int k, Op op) {
        const bool prefix = Has(k + 1) && At(k + 1).kind == ItemKind::Variable;
        if (!prefix && !(Has(k - 1) && At(k - 1).kind == ItemKind::Variable)) {
            Raise(TextsOf(op).invalidTarget);
        }
        ExprItem& operand = At(prefix ? k + 1 : k - 1);
        const int32_t before = operand.value.i;
        Refuse(ApplyUnary(op, operand.value));
        if (operand.value.type != ValueType::External) {
            engine.SetVariable(operand.text.CStr(), operand.index, operand.value);
            // A postfix operator yields the old value while the variable holds the new one.
            if (!prefix) operand.value.i = before;
        }
        Remove(k);
    }

    /// A '-' with nothing computed in front is unary; a binary one stays for pass 3.
    void NegateIfUnary(int k) {
        if (!Has(k + 1)) Raise(TextsOf(Op::Minus).missingRight);
        if (HasLeftOperand(k)) return;
        Refuse(ApplyUnary(Op::Minus, At(k + 1).value));
        At(k + 1).kind = ItemKind::Computed;
        Remove(k);
    }

    /// Left to right, so that chains of one level group to the left.
    void BinaryPass(int pass) {
        for (int k = 0; k < items.GetCount();) {
            Op op;
            if (!OperatorAt(k, op) || !BelongsToPass(op, pass)) {
                ++k;
                continue;
            }
            if (op == Op::Plus || op == Op::Minus) {
                // These have no missing-left text: they only need a right operand, and the
                // check comes before the unary-or-binary decision.
                if (!Has(k + 1)) Raise(TextsOf(op).missingRight);
                if (!HasLeftOperand(k)) {
                    // Pass 1 took every unary '-', so only an inconsistent list gets here.
                    if (op == Op::Minus) engine.ScriptError(kCompilerErrorMinus);
                    UnaryPlus(k);
                    ++k;  // behind the operand
                    continue;
                }
            } else {
                if (k == 0) Raise(TextsOf(op).missingLeft);
                if (!Has(k + 1)) Raise(TextsOf(op).missingRight);
            }
            ExprItem& left = At(k - 1);
            Refuse(ApplyBinary(op, left.value, At(k + 1).value));
            left.kind = ItemKind::Computed;
            Remove(k);  // the operator
            Remove(k);  // the right operand, moved down into its place
        }
    }

    void UnaryPlus(int k) {
        Refuse(ApplyUnary(Op::Plus, At(k + 1).value));
        At(k + 1).kind = ItemKind::Computed;
        Remove(k);
    }

    /// Right to left, so that a = b = 5 sets b first and gives its new value to a.
    void AssignmentPass() {
        for (int k = items.GetCount() - 1; k >= 0;) {
            Op op;
            if (!OperatorAt(k, op) || PassOf(op) != kAssignmentPass) {
                --k;
                continue;
            }
            const OperatorTexts& texts = TextsOf(op);
            if (k == 0) Raise(texts.missingLeft);
            if (!Has(k + 1)) Raise(texts.missingRight);
            ExprItem& target = At(k - 1);
            if (target.kind != ItemKind::Variable) Raise(texts.invalidTarget);

            // The item holds the variable as it was when the statement was read; operators
            // of this same expression (x++ in x = x++ + 1) may have changed it since.
            const char* name = target.text.CStr();
            target.value = engine.AccessVariable(name, target.index, NoDeclaration);
            Refuse(ApplyAssignment(op, target.value, At(k + 1).value, target.index >= 0));
            engine.SetVariable(name, target.index, target.value);
            target.kind = ItemKind::Computed;
            Remove(k);
            Remove(k);
            k -= 2;  // the item in front of the assigned one
        }
    }

    Value EndChecks() {
        const int count = items.GetCount();
        for (int k = 0; k < count; ++k) {
            const ExprItem& item = At(k);
            if (item.kind == ItemKind::Operator) {
                engine.ScriptError(kUnknownOperator, item.text.CStr());
            }
        }
        if (count > 1) engine.ScriptError(kMissingSemicolonInStatement);
        return At(0).value;
    }

    /// True when item k is an operator that some pass applies; op is then that operator.
    bool OperatorAt(int k, Op& op) {
        const ExprItem& item = At(k);
        if (item.kind != ItemKind::Operator || item.index == kNoOperatorCode) return false;
        op = static_cast<Op>(item.index);
        return true;
    }

    /// The unary-or-binary rule: a Void value in front means no left operand, whatever
    /// the item is (an operator, or the result of a function without result).
    bool HasLeftOperand(int k) { return k > 0 && At(k - 1).value.type != ValueType::Void; }

    bool Has(int k) const { return k >= 0 && k < items.GetCount(); }
    ExprItem& At(int k) const { return *items.Get(k); }
    void Remove(int k) { items.Delete(items.GetSlotNr(k)); }

    /// Raises an operator's catalog text when the operator refused its operands.
    void Refuse(const char* refusal) {
        if (refusal != nullptr) Raise(refusal);
    }

    /// The operator catalog's texts are printf formats without arguments whose "%%" must
    /// print as '%'. They are program constants, never script text, so they are the format.
    [[noreturn]] void Raise(const char* catalogText) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
        engine.ScriptError(catalogText);
#pragma GCC diagnostic pop
    }

    ScriptReader& engine;
    DynaMem<ExprItem>& items;
};

}  // namespace

Value ScriptReader::Evaluate(DynaMem<ExprItem>& items) {
    if (items.GetCount() == 0) return Value();
    return Evaluator(*this, items).Run();
}
