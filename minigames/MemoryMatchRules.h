#pragma once
// The rules of the memory match game, without widgets: which symbols stand
// in the paper window, how the next one is chosen, and the answers.
//
// Symbols are numbered 1 ... symbolCount; -1 is none. After deal() the
// first symbol shows (shown = 1) and the next one is chosen. Each slide
// brings the next symbol in (slideFinished): the one showing becomes the
// previous one, and while fewer than AnswerCount + 1 symbols have been
// shown a new next one is chosen. The player answers whether the symbol
// showing matches the previous one; the answer given while the
// (AnswerCount + 1)-th symbol shows is the last (isLastAnswer), whether
// right or wrong. The START click brings the second symbol in without an
// answer, so AnswerCount answers are asked in all.
//
// Choosing: from the first `limit` symbols, limit = min(symbolCount,
// shown / 4 + 2), so two are in play for the first three shown, one more
// for every four shown after, seven at the twentieth. Once a symbol shows,
// one draw in four repeats it on purpose.
#include <functional>
#include <string>

class MemoryMatchRules {
public:
    // Returns a number in [0, n) for n >= 1 (randomBelow in the game).
    using Random = std::function<int(int n)>;
    enum Verdict { NoVerdict, Right, Wrong };

    static constexpr int DefaultSymbolCount = 12;
    static constexpr int AnswerCount = 20;

    explicit MemoryMatchRules(int symbolCount = DefaultSymbolCount);

    // The first symbol from the first two, then the next from `limit`.
    void deal(const Random& random);
    // The number of symbols the next choice draws from.
    int limit() const;
    // A first draw (r1) from `limit`; then, when a symbol shows, a second
    // (r2) from 4: 0 repeats the symbol showing, else r1 + 1 is taken.
    int pickSymbol(const Random& random) const;

    // Judges "match" or "don't match" against previous and current, counts
    // the answer and shows the verdict until the next slide ends.
    Verdict answer(bool saysMatch);
    // The answer just given was the last one.
    bool isLastAnswer() const { return shown > AnswerCount; }
    // The slide ended: one more shown, the verdict cleared, the symbols move
    // on (a new next one only while more answers are to come).
    void slideFinished(const Random& random);

    int getSymbolCount() const { return symbolCount; }
    int getShown() const { return shown; }
    int getAnswers() const { return answers; }
    int getPrevious() const { return previous; }
    int getCurrent() const { return current; }
    int getNext() const { return next; }
    Verdict getVerdict() const { return verdict; }

    // "shown=3 answers=1 symbols=1,2,1 verdict=right" (logs, the driver).
    std::string describe() const;

private:
    int symbolCount;
    int shown = 0;
    int answers = 0;
    int previous = -1;
    int current = -1;
    int next = -1;
    Verdict verdict = NoVerdict;
};
