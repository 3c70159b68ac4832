#pragma once
// Interpolation functions of the key-frame animation: a MathFunction calls a
// functor (IFunctor) with x and a parameter set (MathFunctionProperty). The
// animation player keeps a table of them by id and gives each key frame a
// clone.
#include <memory>

// A parameter set of an interpolation function.
class MathFunctionProperty {
public:
    virtual ~MathFunctionProperty() = default;
    MathFunctionProperty& operator=(const MathFunctionProperty&) = delete;

    virtual std::unique_ptr<MathFunctionProperty> clone() const = 0;
    // Which kind of set this is (MathFunctionPropertyLinear::Kind, ...).
    virtual int kind() const = 0;

protected:
    MathFunctionProperty() = default;
    MathFunctionProperty(const MathFunctionProperty&) = default;
};

// The slope of a linear function.
class MathFunctionPropertyLinear final : public MathFunctionProperty {
public:
    static constexpr int Kind = 0;

    explicit MathFunctionPropertyLinear(float slope_) : slopeValue(slope_) {}

    std::unique_ptr<MathFunctionProperty> clone() const override;
    int kind() const override { return Kind; }

    float slope() const { return slopeValue; }
    void setSlope(float slope_) { slopeValue = slope_; }

private:
    float slopeValue;
};

// A callable taking an argument and a parameter set.
template <typename R, typename A, typename P>
class IFunctor {
public:
    virtual ~IFunctor() = default;
    IFunctor& operator=(const IFunctor&) = delete;

    virtual R call(A x, P params) const = 0;
    virtual std::unique_ptr<IFunctor> clone() const = 0;

protected:
    IFunctor() = default;
    IFunctor(const IFunctor&) = default;
};

// Calls a member function of an object. The object is not owned and must
// outlive the functor and its clones. A null object or member gives R().
template <typename Obj, typename R, typename A, typename P>
class CustomFunctor final : public IFunctor<R, A, P> {
public:
    using Method = R (Obj::*)(A, P);

    CustomFunctor(Obj* object_, Method method_) : object(object_), method(method_) {}

    R call(A x, P params) const override
    {
        if (!object || !method)
            return R();
        return (object->*method)(x, params);
    }
    std::unique_ptr<IFunctor<R, A, P>> clone() const override
    {
        return std::make_unique<CustomFunctor>(object, method);
    }

private:
    Obj* object;  // not owned
    Method method;
};

using MathFunctor = IFunctor<float, float, MathFunctionProperty*>;

// A functor with its parameter set and two free parameters. It owns both the
// functor and the parameter set.
class MathFunction {
public:
    // `property` may be null. A null functor makes evaluate() return 0.
    explicit MathFunction(std::unique_ptr<MathFunctor> functor,
                          std::unique_ptr<MathFunctionProperty> property = nullptr);
    MathFunction(const MathFunction&) = delete;
    MathFunction& operator=(const MathFunction&) = delete;
    ~MathFunction();

    // Stores the two free parameters (1 and -1 until set).
    void setParameters(float a, float b);
    float parameterA() const { return paramA; }
    float parameterB() const { return paramB; }

    // The functor called with x and the parameter set.
    float evaluate(float x) const;
    // A clone of the functor and of the parameter set (when there is one),
    // with the same two parameters.
    std::unique_ptr<MathFunction> clone() const;

    // The parameter set (null when there is none); still owned by the
    // function.
    MathFunctionProperty* property() const { return props.get(); }

private:
    std::unique_ptr<MathFunctionProperty> props;
    std::unique_ptr<MathFunctor> functor;
    float paramA = 1.0f;
    float paramB = -1.0f;
};
