-- func_call with a local function and a local sum.
local function F(X)
  return X * X + 1
end
local S = 0.0
for I = 1, 1000000 do
  S = S + F(I)
end
print(string.format("%.17g", S))
