-- findzeros: the zero search of FINDZEROS SIN,0,3000 with locals only.
-- 1000 equal sub-intervals; each is bisected at most 200 times down to an
-- absolute width of 1e-18. Prints the number of zeros, then their sum.
local sin = math.sin

local function FindZero(f, a, b)
  local lo, hi = a, b
  if hi < lo then lo, hi = hi, lo end
  local flo = f(lo)
  if flo == 0 then return lo end
  local fhi = f(hi)
  if fhi == 0 then return hi end
  if not (lo < hi) or (flo > 0 and fhi > 0) or (flo < 0 and fhi < 0) then
    return nil
  end
  local mid
  for _ = 1, 200 do
    mid = (lo + hi) * 0.5
    if hi - lo < 1e-18 then return mid end
    local fmid = f(mid)
    if fmid == 0 then return mid end
    if (fmid > 0 and flo < 0) or (fmid < 0 and flo > 0) then
      hi = mid
    else
      lo = mid
    end
  end
  return mid
end

local a, b = 0.0, 3000.0
local step = (b - a) * 0.001
local last = a - 1
local found = false
local count = 0
local sum = 0.0
for j = 0, 999 do
  local x0 = j * step + a
  local x1 = x0 + step
  if found and last == x0 then
    found = false
  else
    local z = FindZero(sin, x0, x1)
    found = z ~= nil
    if found then
      last = z
      count = count + 1
      sum = sum + z
    end
  end
end
print(count)
print(string.format("%.17g", sum))
