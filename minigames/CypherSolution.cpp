#include "minigames/CypherSolution.h"

#include <cstddef>
#include <utility>

CypherSolution::CypherSolution(std::vector<float> pieceAngles)
    : angles(std::move(pieceAngles))
{
}

float CypherSolution::targetAngle() const
{
    return hasCurrent() ? angles[static_cast<std::size_t>(current)] : 0.f;
}

bool CypherSolution::advance()
{
    if (!hasCurrent())
        return false;
    ++current;
    return !hasCurrent();
}
