-- func_call with a global function and a global sum.
function F(X)
  return X * X + 1
end
S = 0.0
for I = 1, 1000000 do
  S = S + F(I)
end
print(string.format("%.17g", S))
