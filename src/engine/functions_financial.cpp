// Depreciation and the time value of money: future and present value,
// payment, number of periods, interest rate and the parts of one payment.
#include <cmath>
#include <cstdint>
#include <utility>

#include "engine/arithmetic.h"
#include "engine/function_helpers.h"
#include "engine/function_table.h"

namespace korvex {
namespace {

// The payment time t: the `e` functions pay at the end of each period, the
// `s` functions at the start.
constexpr int kEnd = 0;
constexpr int kStart = 1;

// Below this rate the growth and annuity factors use their series forms,
// which stay accurate where (1 + r)^n - 1 would cancel.
constexpr long double kSmallRate = 6.1E-5L;
// Beyond this growth factor the present value and the payment take their
// limits as n grows without bound, and the future value gives up.
constexpr long double kLargeGrowth = 1E16L;

[[noreturn]] void Fail(const char* text) { throw ArithmeticFailure(text); }

// P: what 1 grows to in n periods; A: what payments of 1 per period grow to.
struct AnnuityFactors {
  long double growth;
  long double annuity;
};

AnnuityFactors Annuity(std::int32_t periods, int timing, long double rate) {
  const long double n = periods;
  if (rate == 0) return {1, n};
  AnnuityFactors f;
  if (std::fabs(rate) < kSmallRate) {
    f.growth = std::exp(Multiply(n, Ln1p(rate)));
    f.annuity = Multiply(n, Add(Divide(Multiply(rate, Subtract(n, 1)), 2), 1));
  } else {
    f.growth = IntegralPower(Add(1, rate), periods);
    f.annuity = Divide(Subtract(f.growth, 1), rate);
  }
  if (timing == kStart) f.annuity = Multiply(f.annuity, Add(1, rate));
  return f;
}

// Depreciation: cost c, salvage value s, life L, period k.

long double StraightLineDepreciation(FunctionArgs a, FunctionState&) {
  const long double cost = a[0];
  const long double salvage = a[1];
  const std::int32_t life = Int32(a[2]);
  if (life <= 0) Fail("SLNDepreciation");
  return Divide(Subtract(cost, salvage), life);
}

long double SumOfYearsDepreciation(FunctionArgs a, FunctionState&) {
  const long double cost = a[0];
  const long double salvage = a[1];
  const std::int32_t life = Int32(a[2]);
  const std::int32_t period = Int32(a[3]);
  if (period <= 0 || life < period || salvage >= cost) return 0;
  // In extended, not in 32-bit integers: L * (L + 1) passes 2^31 from a
  // life of 46341 periods on.
  const long double l = life;
  const long double k = period;
  const long double digits = Add(Subtract(Multiply(2, l), Multiply(2, k)), 2);
  return Divide(Multiply(digits, Subtract(cost, salvage)), Multiply(l, Add(l, 1)));
}

long double DoubleDecliningBalance(FunctionArgs a, FunctionState&) {
  const long double cost = a[0];
  const long double salvage = a[1];
  const std::int32_t life = Int32(a[2]);
  const std::int32_t period = Int32(a[3]);
  if (period <= 0 || life < period || life <= 0 || salvage >= cost) return 0;
  if (life <= 2) return period == 1 ? Subtract(cost, salvage) : 0;
  const long double l = life;
  const long double book_value =
      Multiply(cost, IntegralPower(Subtract(1, Divide(2, l)), period - 1));
  long double depreciation = Divide(Multiply(book_value, 2), l);
  // Never below the salvage value.
  const long double above_salvage = Subtract(book_value, salvage);
  if (depreciation > above_salvage) depreciation = above_salvage;
  if (depreciation < 0) depreciation = 0;
  return depreciation;
}

// Time value of money. Money paid out is negative, money received positive.

template <int kTiming>
long double FutureValue(FunctionArgs a, FunctionState&) {
  const long double rate = a[0];
  const std::int32_t periods = Int32(a[1]);
  const long double payment = a[2];
  const long double present = a[3];
  if (rate <= -1) Fail("FutureValue");
  const AnnuityFactors f = Annuity(periods, kTiming, rate);
  if (f.growth > kLargeGrowth) Fail("FutureValue");
  return Subtract(Multiply(-payment, f.annuity), Multiply(present, f.growth));
}

template <int kTiming>
long double PresentValue(FunctionArgs a, FunctionState&) {
  const long double rate = a[0];
  const std::int32_t periods = Int32(a[1]);
  const long double payment = a[2];
  const long double future = a[3];
  if (rate <= -1) Fail("PresentValue");
  const AnnuityFactors f = Annuity(periods, kTiming, rate);
  if (f.growth > kLargeGrowth) {
    return Divide(Multiply(-payment, Add(1, Multiply(rate, kTiming))), rate);
  }
  return Divide(Subtract(Multiply(-payment, f.annuity), future), f.growth);
}

template <int kTiming>
long double Payment(FunctionArgs a, FunctionState&) {
  const long double rate = a[0];
  const std::int32_t periods = Int32(a[1]);
  const long double present = a[2];
  const long double future = a[3];
  if (rate <= -1) Fail("Payment");
  const AnnuityFactors f = Annuity(periods, kTiming, rate);
  if (f.growth > kLargeGrowth) {
    return Divide(Multiply(rate, -present), Add(Multiply(rate, kTiming), 1));
  }
  return Divide(Subtract(Multiply(-present, f.growth), future), f.annuity);
}

// Not rounded to whole periods.
template <int kTiming>
long double NumberOfPeriods(FunctionArgs a, FunctionState&) {
  const long double rate = a[0];
  long double payment = a[1];
  const long double present = a[2];
  const long double future = a[3];
  if (!(rate > -1)) Fail("NumberOfPeriods");
  if (kTiming == kStart) payment = Multiply(payment, Add(rate, 1));
  const long double t = Add(Multiply(present, rate), payment);
  if (t == 0) Fail("NumberOfPeriods");
  const long double balance = -Add(present, future);
  if (std::fabs(rate) < kSmallRate) return Divide(balance, t);
  const long double q = Divide(Multiply(balance, rate), t);
  if (!(q > -1)) Fail("NumberOfPeriods");
  return Divide(Ln1p(q), Ln1p(rate));
}

// Newton's method on x = -ln(1 + rate), solving
// m * (e^x + e^2x + ... + e^((n-1)x)) + fv * e^(nx) = -pv.
template <int kTiming>
long double InterestRate(FunctionArgs a, FunctionState&) {
  const std::int32_t periods = Int32(a[0]);
  long double payment = a[1];
  long double present = a[2];
  long double future = a[3];
  if (periods <= 0) Fail("InterestRate");
  // The payment that coincides with the present or the future value joins it.
  if (kTiming == kStart) {
    present = Add(present, payment);
  } else {
    future = Add(future, payment);
  }
  // Exchanging pv and fv reverses time, which turns the rate into
  // 1 / (1 + rate) - 1. Without a present value (a savings plan paying at
  // the end of each period) only the reversed form has a lump sum to solve
  // for, so it is exchanged too, as long as payments remain between the two.
  const bool exchanged =
      Multiply(payment, present) > 0 || (present == 0 && payment != 0 && periods > 1);
  if (exchanged) std::swap(present, future);
  if (present > 0) {
    future = -future;
    payment = -payment;
    present = -present;
  }
  if (present == 0 || !(future >= 0)) Fail("InterestRate");

  const long double n = periods;
  long double x = 0;
  for (int round = 0; round < 15; ++round) {
    const long double h = std::exp(Multiply(n, x));
    if (h + 1 == h) {
      const long double ratio = Divide(-payment, present);
      return exchanged ? Subtract(std::exp(-Ln1p(ratio)), 1) : ratio;
    }
    // g(x) = e^x + ... + e^((n-1)x) and its derivative.
    const long double l = std::exp(x);
    long double g;
    long double g_slope;
    if (Subtract(l, 1) == 0) {
      g = Subtract(n, 1);
      g_slope = Divide(Multiply(n, Subtract(n, 1)), 2);
    } else {
      g = Divide(Multiply(l, Subtract(std::exp(Multiply(Subtract(n, 1), x)), 1)), Subtract(l, 1));
      g_slope = Divide(Subtract(Subtract(Multiply(n, h), l), Multiply(l, g)), Subtract(l, 1));
    }
    const long double r = Add(Multiply(payment, g), Multiply(future, h));
    const long double slope = Add(Multiply(payment, g_slope), Multiply(Multiply(h, future), n));
    const long double step = Divide(std::log(Divide(r, -present)), Divide(slope, r));
    x = Subtract(x, step);
    if (std::fabs(step) < std::fabs(x) * 1E-12L + 1E-15L) {
      return exchanged ? Subtract(std::exp(x), 1) : Subtract(std::exp(-x), 1);
    }
  }
  Fail("InterestRate");
}

// The interest part and the principal part of the payment of period k; they
// add up to the payment.
struct PeriodFactors {
  AnnuityFactors annuity;
  long double growth_before;  // C = (1 + r)^(k - 1)
  // With payments at the start, the first one falls due when the money is
  // lent: no interest has accrued, so all of it repays principal.
  bool interest_free;
};

PeriodFactors ForPeriod(FunctionArgs a, int timing, const char* failure) {
  const long double rate = a[0];
  const std::int32_t period = Int32(a[1]);
  const std::int32_t periods = Int32(a[2]);
  if (rate <= -1 || period < 1 || periods < period) Fail(failure);
  const AnnuityFactors f = Annuity(periods, timing, rate);
  return {f, IntegralPower(Add(1, rate), period - 1), timing == kStart && period == 1};
}

template <int kTiming>
long double InterestPayment(FunctionArgs a, FunctionState&) {
  const PeriodFactors f = ForPeriod(a, kTiming, "InterestPayment");
  if (f.interest_free) return 0;
  const long double present = a[3];
  const long double future = a[4];
  const long double c = f.growth_before;
  return Divide(
      Subtract(Multiply(future, Subtract(c, 1)), Multiply(present, Subtract(f.annuity.growth, c))),
      f.annuity.annuity);
}

template <int kTiming>
long double PeriodPayment(FunctionArgs a, FunctionState&) {
  const PeriodFactors f = ForPeriod(a, kTiming, "PeriodPayment");
  const long double present = a[3];
  const long double future = a[4];
  if (f.interest_free) {
    // The whole payment (-pv * P - fv) / A.
    return Divide(Subtract(Multiply(-present, f.annuity.growth), future), f.annuity.annuity);
  }
  return Divide(Multiply(Subtract(-future, present), f.growth_before), f.annuity.annuity);
}

struct Entry {
  const char* name;
  FunctionBody body;
};

const Entry kFinancialFunctions[] = {
    {"sldepreciation", StraightLineDepreciation},
    {"sydepreciation", SumOfYearsDepreciation},
    {"ddbalance", DoubleDecliningBalance},
    {"efuturevalue", FutureValue<kEnd>},
    {"sfuturevalue", FutureValue<kStart>},
    {"epresentvalue", PresentValue<kEnd>},
    {"spresentvalue", PresentValue<kStart>},
    {"epayment", Payment<kEnd>},
    {"spayment", Payment<kStart>},
    {"eperiods", NumberOfPeriods<kEnd>},
    {"speriods", NumberOfPeriods<kStart>},
    {"einterestrate", InterestRate<kEnd>},
    {"sinterestrate", InterestRate<kStart>},
    {"einterestpay", InterestPayment<kEnd>},
    {"sinterestpay", InterestPayment<kStart>},
    {"eperiodpay", PeriodPayment<kEnd>},
    {"speriodpay", PeriodPayment<kStart>},
};

}  // namespace

void RegisterFinancialFunctions(FunctionTable& table) {
  for (const Entry& entry : kFinancialFunctions) table.Add(entry.name, entry.body);
}

}  // namespace korvex
