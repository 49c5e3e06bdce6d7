-- math_sin with locals, math.sin held in a local.
local sin = math.sin
local S = 0.0
for I = 1, 1000000 do
  S = S + sin(I)
end
print(string.format("%.17g", S))
