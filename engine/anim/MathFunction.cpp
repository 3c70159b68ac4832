#include "engine/anim/MathFunction.h"

std::unique_ptr<MathFunctionProperty> MathFunctionPropertyLinear::clone() const
{
    return std::make_unique<MathFunctionPropertyLinear>(slopeValue);
}

MathFunction::MathFunction(std::unique_ptr<MathFunctor> functor_, std::unique_ptr<MathFunctionProperty> property_)
    : props(std::move(property_)), functor(std::move(functor_))
{
}

MathFunction::~MathFunction() = default;

void MathFunction::setParameters(float a, float b)
{
    paramA = a;
    paramB = b;
}

float MathFunction::evaluate(float x) const
{
    return functor ? functor->call(x, props.get()) : 0.0f;
}

std::unique_ptr<MathFunction> MathFunction::clone() const
{
    auto copy = std::make_unique<MathFunction>(functor ? functor->clone() : nullptr,
                                               props ? props->clone() : nullptr);
    copy->setParameters(paramA, paramB);
    return copy;
}
