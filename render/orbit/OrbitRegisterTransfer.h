// Moving the orbit between the working state and the locals the stages work on.
#pragma once

#include "render/orbit/OrbitStages.h"
#include "render/orbit/OriginFormulas.h"
#include "render/run/RenderState.h"

namespace orbisk {

// The map's constants for a column; the type signs must already be set for it.
inline MapConstants mapConstantsOf(const RenderState& s, const FormulaChoice& c) {
  MapConstants k;
  k.coefa = s.coefa;
  k.coefb = s.coefb;
  k.coefc = s.coefc;
  k.coefd = s.coefd;
  k.det = s.det;
  k.ts1 = s.typesign1;
  k.ts2 = s.typesign2;
  k.v4by20 = c.v4 / 20.0;
  return k;
}

inline StartConstants startConstantsOf(const RenderState& s) {
  StartConstants k;
  k.spanx = s.spanx;
  k.spany = s.spany;
  k.galx = s.galx;
  k.galy = s.galy;
  k.N1 = s.N1;
  k.N2 = s.N2;
  return k;
}

inline OrbitRegisters loadRegisters(const RenderState& s, const FunctionValues& f) {
  OrbitRegisters o;
  o.P = s.orbp;
  o.Q = s.orbq;
  o.R = s.orbr;
  o.nextp = s.nextp;
  o.nextq = s.nextq;
  o.levelcap = s.levelcap;
  o.v1a = f.v1a;
  o.v1b = f.v1b;
  return o;
}

inline void storeRegisters(const OrbitRegisters& o, RenderState& s, FunctionValues& f) {
  s.orbp = o.P;
  s.orbq = o.Q;
  s.orbr = o.R;
  s.nextp = o.nextp;
  s.nextq = o.nextq;
  s.levelcap = o.levelcap;
  f.v1a = o.v1a;
  f.v1b = o.v1b;
}

}  // namespace orbisk
