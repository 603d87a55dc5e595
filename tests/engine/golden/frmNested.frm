VERSION 5.00
Begin VB.Form frmNested
   BackColor       =   &H8000000F&
   BorderStyle     =   3  'Fixed Dialog
   Caption         =   "Nested"
   ClientHeight    =   3800
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   6800
   BeginProperty Font
      Name            =   "Tahoma"
      Size            =   8
      Charset         =   0
      Weight          =   400
      Underline       =   0
      Italic          =   0
      Strikethrough   =   0
   EndProperty
   ForeColor       =   &H80000012&
   MaxButton       =   0   'False
   MinButton       =   0   'False
   ScaleHeight    =   3800
   ScaleWidth     =   6800
   ShowInTaskbar   =   0   'False
   StartUpPosition =   1  'CenterOwner
   Begin VB.Frame fraOuter
      Caption         =   "Outer"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   3000
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   4000
      Begin VB.CheckBox chkOne
         Caption         =   "One"
         BackColor       =   &H8000000F&
         ForeColor       =   &H80000012&
         Height          =   300
         Left            =   120
         TabIndex        =   0
         Top             =   240
         Width           =   1600
      End
      Begin VB.Frame fraMiddle
         Caption         =   "Middle"
         BackColor       =   &H8000000F&
         ForeColor       =   &H80000012&
         Height          =   2000
         Left            =   120
         TabIndex        =   1
         Top             =   600
         Width           =   3600
         Begin VB.Frame fraInner
            Caption         =   "Inner"
            BackColor       =   &H8000000F&
            ForeColor       =   &H80000012&
            Height          =   1200
            Left            =   120
            TabIndex        =   0
            Top             =   240
            Width           =   3200
            Begin VB.Label lblDeep
               Caption         =   "Deep"
               BackColor       =   &H8000000F&
               ForeColor       =   &H80000012&
               Height          =   240
               Left            =   120
               TabIndex        =   0
               Top             =   240
               Width           =   2000
               WordWrap        =   -1
            End
         End
         Begin VB.CommandButton cmdMid
            Caption         =   "&Go"
            BackColor       =   &H8000000F&
            Height          =   360
            Left            =   120
            TabIndex        =   1
            Top             =   1600
            Width           =   1200
         End
      End
   End
   Begin <unknown>.MultiPage mpgTabs
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   3000
      Left            =   4200
      TabIndex        =   1
      Top             =   120
      Width           =   2400
   End
   Begin VB.CommandButton cmdClose
      Caption         =   "&Close"
      BackColor       =   &H8000000F&
      Height          =   480
      Left            =   120
      TabIndex        =   2
      Top             =   3200
      Width           =   1440
      Cancel          =   -1  'True
   End
End
Attribute VB_Name = "frmNested"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Private Sub Form_Click()
End Sub
