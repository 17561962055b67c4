#pragma once
#include <QtGlobal>
#include <random>

// The program's one uniform random generator, seeded from the clock at start-up
// and by tests with a fixed seed.
class TRandom {
public:
    explicit TRandom(quint64 seed = 0)
        : m_engine(seed)
    {
    }
    virtual ~TRandom() = default;
    void Seed(quint64 seed) { m_engine.seed(seed); }
    // Uniform in [0, 1).
    virtual double Next();
    // Uniform integer in [0, range).
    quint32 NextInt(quint32 range);
    // A normally distributed number (Box-Muller). A draw of u1 = 0 is drawn again.
    double Gaussian(double sd, double mean);

private:
    std::mt19937_64 m_engine;
};
