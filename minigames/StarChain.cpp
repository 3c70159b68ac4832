#include "minigames/StarChain.h"

StarChain::StarChain(int starCount)
    : count(starCount > 0 ? starCount : 0)
{
}

StarChain::Take StarChain::take(int star)
{
    if (star < 0 || star >= count || star <= lastConnected)
        return Take::Nothing;
    if (star > lastConnected + 1) {
        lastWrong = star;
        red = star;
        return Take::Wrong;
    }
    lastConnected = star;
    return star == 0 ? Take::First : Take::Joined;
}

void StarChain::release()
{
    red = -1;
}
