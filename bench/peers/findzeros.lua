-- findzeros: the zero search of FINDZEROS SIN,0,3000 with globals.
-- 1000 equal sub-intervals; each is bisected at most 200 times down to an
-- absolute width of 1e-18. Prints the number of zeros, then their sum.
function FindZero(a, b)
  local lo, hi = a, b
  if hi < lo then lo, hi = hi, lo end
  local flo = math.sin(lo)
  if flo == 0 then return lo end
  local fhi = math.sin(hi)
  if fhi == 0 then return hi end
  if not (lo < hi) or (flo > 0 and fhi > 0) or (flo < 0 and fhi < 0) then
    return nil
  end
  local mid
  for _ = 1, 200 do
    mid = (lo + hi) * 0.5
    if hi - lo < 1e-18 then return mid end
    local fmid = math.sin(mid)
    if fmid == 0 then return mid end
    if (fmid > 0 and flo < 0) or (fmid < 0 and flo > 0) then
      hi = mid
    else
      lo = mid
    end
  end
  return mid
end

A, B = 0.0, 3000.0
STEP = (B - A) * 0.001
LAST = A - 1
FOUND = false
COUNT = 0
SUM = 0.0
for J = 0, 999 do
  local x0 = J * STEP + A
  local x1 = x0 + STEP
  if FOUND and LAST == x0 then
    FOUND = false
  else
    local z = FindZero(x0, x1)
    FOUND = z ~= nil
    if FOUND then
      LAST = z
      COUNT = COUNT + 1
      SUM = SUM + z
    end
  end
end
print(COUNT)
print(string.format("%.17g", SUM))
